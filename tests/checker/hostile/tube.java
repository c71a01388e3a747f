import java.util.*;
class Tube
{
 static String ligne;
 static File f;
 public static void main(String args[])
 {
  f = new File("@DEHORS@/tube");
  FileInputStream entree = new FileInputStream(f);
  while (!FEOF(f))
  {
   FGETS(f, ligne);
   System.out.println(ligne);
  }
 }
}
