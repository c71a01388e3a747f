import java.util.*;
class Arret
{
 static String nom;
 static int somme;
 public static void main(String args[])
 {
  System.out.println("Prénom ?");
  FGETS(System.in, nom);
  System.out.print("Bonjour ");
  System.out.println(nom);
  somme = inconnu;
  System.out.println(somme);
 }
}
