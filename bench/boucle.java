import java.util.*;
class Boucle
{
 static int i, j, s;
 public static void main(String args[])
 {
  s = 0;
  for (i=1; i<=1000; i++)
  {
   for (j=1; j<=1000; j++)
   {
    s = s + j;
    if (s > 1000000)
     s = s - 1000000;
   }
  }
  System.out.println(s);
 }
}
