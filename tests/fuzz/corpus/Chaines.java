import java.util.*;
class Chaines
{
 static String prenom, nom, complet, initiale, majuscules;
 static int longueur, position;
 public static void main(String args[])
 {
  prenom = "Marie";
  nom = "Curie";
  complet = prenom + nom;
  System.out.println(complet);
  majuscules = nom.toUpperCase();
  System.out.println(majuscules);
  initiale = prenom.substring(0,1);
  System.out.println(initiale);
  longueur = complet.length();
  System.out.println(longueur);
  position = STRCHR(complet,'C');
  System.out.println(position);
 }
}
