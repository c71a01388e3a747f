

import java.util.*;
class Erreur
{
 static int i;
 public static void main(String args[])
 {
  i = 1;
  System.out.println(i);
  i = inconnu;
  System.out.println("jamais");
 }
}
