import java.util.*;
class Chaines
{
 static String s, u, v;
 static int i, n, total;
 public static void main(String args[])
 {
  s = "";
  total = 0;
  for (i=1; i<=300000; i++)
  {
   s = s + "abc";
   n = s.length();
   if (n > 30)
   {
    s = s.substring(4,n);
   };
   u = s.substring(0,2);
   v = u + s;
   n = v.length();
   total = total + n;
  }
  System.out.println(s);
  System.out.println(v);
  System.out.println(total);
 }
}
