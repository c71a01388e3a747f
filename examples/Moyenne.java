import java.util.*;
class Moyenne
{
 static float note, somme, moyenne;
 static int n;
 public static void main(String args[])
 {
  somme = 0f;
  for (n=1; n<=3; n++)
  {
   System.out.print("Note ");
   System.out.print(n);
   System.out.print(" : ");
   FGETS(System.in, note);
   somme = somme + note;
  }
  moyenne = somme / 3f;
  System.out.print("Moyenne : ");
  System.out.println(moyenne);
  if (moyenne >= 10)
  {
   System.out.println("Admis");
  }
  else
  {
   System.out.println("Refusé");
  }
 }
}
