import java.util.*;
class DossiersImbriques
{
 static String d;
 static int i;
 public static void main(String args[])
 {
  d = "d";
  for (i=1; i<=100000; i++)
  {
   d.mkdir();
   CHDIR d;
  }
 }
}
