import java.util.*;
class LigneCouteuse
{
 static String s, t;
 static int i;
 public static void main(String args[])
 {
  s = "abcdefghijklmnop";
  for (i=1; i<=19; i++)
  {
   s = s + s;
  }
  t = s;
  while (s == t)
  {
  }
 }
}
