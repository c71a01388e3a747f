import java.util.*;
class Memoire
{
 static String s;
 static int i;
 static String t[] = new String[500];
 public static void main(String args[])
 {
  s = "abcdefghijklmnop";
  for (i=1; i<=19; i++)
  {
   s = s + s;
  }
  for (i=1; i<=500; i++)
  {
   t[i] = s;
  }
  System.out.println("fini");
 }
}
