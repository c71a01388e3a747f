import java.util.*;
class Bavard
{
 static String s;
 static int i;
 public static void main(String args[])
 {
  s = "Ceci est une ligne assez longue pour remplir vite la sortie ";
  for (i=1; i<=6; i++)
  {
   s = s + s;
  }
  i = 0;
  while (i < 1)
  {
   System.out.println(s);
  }
 }
}
