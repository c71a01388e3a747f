import java.util.*;
class Factorielle
{
 static int n, resultat, k;
 public static void main(String args[])
 {
  for (k=1; k<=6; k++)
  {
   n = k;
   resultat = 1;
   factorielle();
   System.out.print(k);
   System.out.print("! = ");
   System.out.println(resultat);
  }
 }
 void factorielle()
 {
  if (n > 1)
  {
   resultat = resultat * n;
   n--;
   factorielle();
  };
 }
}
