import java.util.*;
class Bavard
{
 static int i;
 static String s;
 public static void main(String args[])
 {
  s = "Ceci est une ligne assez longue pour remplir vite la sortie du programme";
  i = 0;
  while (i < 1)
  {
   System.out.println(s);
  }
 }
}
