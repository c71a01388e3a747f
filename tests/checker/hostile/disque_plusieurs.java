import java.util.*;
class DisquePlusieurs
{
 static String a, b, nom;
 static int i, j;
 static File f;
 public static void main(String args[])
 {
  a = "f";
  for (i=1; i<=100; i++)
  {
   a = a + "x";
   b = "g";
   for (j=1; j<=100; j++)
   {
    b = b + "y";
    nom = a + b;
    f = new File(nom);
    FileOutputStream sortie = new FileOutputStream(f);
    FPUTS(nom, f);
    sortie.close();
   }
  }
 }
}
