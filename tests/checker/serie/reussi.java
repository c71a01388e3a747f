import java.util.*;
class Reussi
{
 static String nom, ligne;
 static int i, somme;
 static File f;
 public static void main(String args[])
 {
  System.out.println("Prénom ?");
  FGETS(System.in, nom);
  System.out.print("Bonjour ");
  System.out.println(nom);
  somme = 0;
  for (i=1; i<=10; i++)
  {
   somme = somme + i;
  }
  System.out.println(somme);
  f = new File("notes.txt");
  FileOutputStream sortie = new FileOutputStream(f);
  FPUTS(nom, f);
  sortie.close();
  FileInputStream entree = new FileInputStream(f);
  FGETS(f, ligne);
  entree.close();
  System.out.print("Relu : ");
  System.out.println(ligne);
 }
}
