import java.util.*;
class Clavier
{
 static String nom;
 static int age;
 public static void main(String args[])
 {
  System.out.print("Nom ? ");
  FGETS(System.in, nom);
  System.out.print("Age ? ");
  FGETS(System.in, age);
  System.out.print("Bonjour ");
  System.out.println(nom);
  age = age + 1;
  System.out.print("L'an prochain : ");
  System.out.println(age);
  FGETS(System.in, nom);
  System.out.print("[");
  System.out.print(nom);
  System.out.println("]");
 }
}
