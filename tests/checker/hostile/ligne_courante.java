import java.util.*;
class LigneCourante
{
 static int n;
 public static void main(String args[])
 {
  do
  {
   for (n=1; n<=5; n+=2147483647)
   {
    while (1 == 2)
    {
    }
   }
  } while (1 == 1);
 }
}
