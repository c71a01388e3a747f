import java.util.*;
class LireAbsolu
{
 static String ligne;
 static File f;
 public static void main(String args[])
 {
  f = new File("@DEHORS@/leurre.txt");
  FileInputStream entree = new FileInputStream(f);
  while (!FEOF(f))
  {
   FGETS(f, ligne);
   System.out.println(ligne);
  }
 }
}
