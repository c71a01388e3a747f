import java.util.*;
class Difference
{
 static String nom;
 static int i, somme;
 public static void main(String args[])
 {
  System.out.println("Prénom ?");
  FGETS(System.in, nom);
  System.out.print("Bonjour ");
  System.out.println(nom);
  somme = 0;
  for (i=1; i<10; i++)
  {
   somme = somme + i;
  }
  System.out.println(somme);
  System.out.print("Relu : ");
  System.out.println(nom);
 }
}
