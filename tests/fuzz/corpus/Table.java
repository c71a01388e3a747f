import java.util.*;
class Table
{
 static int i, j, p;
 public static void main(String args[])
 {
  System.out.println("Table de multiplication");
  for (i=1; i<=5; i++)
  {
   for (j=1; j<=5; j++)
   {
    p = i * j;
    System.out.print(p);
    System.out.print(" ");
   }
   System.out.println("");
  }
 }
}
