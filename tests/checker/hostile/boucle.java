import java.util.*;
class Boucle
{
 static int i;
 public static void main(String args[])
 {
  i = 0;
  while (i < 1)
  {
   i = 0;
  }
 }
}
