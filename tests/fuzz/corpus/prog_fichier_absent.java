import java.util.*;
class Absent
{
 static File f;
 static String s;
 public static void main(String args[])
 {
  f = new File("absent.txt");
  FileInputStream entree = new FileInputStream(f);
  System.out.println("suite");
  while (!FEOF(f))
  {
   FGETS(f, s);
  }
 }
}
