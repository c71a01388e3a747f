import java.util.*;
class Voisin
{
 static String ligne;
 static File f;
 public static void main(String args[])
 {
  f = new File("../../1/travail/lire_absolu.java");
  FileInputStream entree = new FileInputStream(f);
  while (!FEOF(f))
  {
   FGETS(f, ligne);
   System.out.println(ligne);
  }
 }
}
