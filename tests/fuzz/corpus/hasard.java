import java.util.*;
class Hasard
{
 static int i, k, t[] = new int[5];
 static Random g = new Random();
 public static void main(String args[])
 {
  for (i=1; i<=5; i++)
  {
   k = g.nextInt();
   t[i] = k % 7;
   System.out.println(t[i]);
  }
 }
}
