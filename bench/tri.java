import java.util.*;
class Tri
{
 static int t[] = new int[1996];
 static int i, j, k, x;
 public static void main(String args[])
 {
  x = 12345;
  for (i=1; i<=1996; i++)
  {
   x = x * 1103;
   x = x + 12345;
   x = x % 65536;
   t[i] = x;
  }
  for (i=1996; i>1; i--)
  {
   for (j=1; j<i; j++)
   {
    k = j + 1;
    if (t[j] > t[k])
    {
     x = t[j];
     t[j] = t[k];
     t[k] = x;
    };
   }
  }
  System.out.println(t[1]);
  System.out.println(t[998]);
  System.out.println(t[1996]);
 }
}
