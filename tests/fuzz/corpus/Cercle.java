import java.util.*;
class Cercle
{
 static float rayon, aire, perimetre, pi, d;
 public static void main(String args[])
 {
  pi = 3.14159f;
  rayon = 2.5f;
  aire = rayon * rayon;
  aire = aire * pi;
  d = 2f * rayon;
  perimetre = d * pi;
  System.out.print("Aire : ");
  System.out.println(aire);
  System.out.print("Périmètre : ");
  System.out.println(perimetre);
  d = Math.sqrt(aire);
  System.out.print("Côté du carré de même aire : ");
  System.out.println(d);
 }
}
