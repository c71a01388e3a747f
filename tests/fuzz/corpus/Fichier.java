import java.util.*;
class Fichier
{
 static File f;
 static String ligne;
 static int n;
 public static void main(String args[])
 {
  f = new File("courses.txt");
  FileOutputStream sortie = new FileOutputStream(f);
  FPUTS("pain", f);
  FPUTS("lait", f);
  FPUTS("pommes", f);
  sortie.close();
  FileInputStream entree = new FileInputStream(f);
  n = 0;
  while (!FEOF(f))
  {
   FGETS(f, ligne);
   n++;
   System.out.print(n);
   System.out.print(". ");
   System.out.println(ligne);
  }
  entree.close();
  f.delete();
 }
}
