import java.util.*;
class Boucle
{
 static int i;
 public static void main(String args[])
 {
  while (i < 1)
  {
   System.out.println("tour");
  }
 }
}
