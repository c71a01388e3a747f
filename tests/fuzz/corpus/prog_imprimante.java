import java.util.*;
class Imprime
{
 static int i;
 public static void main(String args[])
 {
  for (i=1; i<=3; i++)
  {
   FPUTS(i, PRN:);
  }
  FPUTS("fin", PRN:);
  System.out.println("imprimé");
 }
}
