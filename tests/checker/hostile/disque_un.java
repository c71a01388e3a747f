import java.util.*;
class DisqueUn
{
 static String s;
 static int i;
 static File f;
 public static void main(String args[])
 {
  s = "abcdefghijklmnop";
  for (i=1; i<=12; i++)
  {
   s = s + s;
  }
  f = new File("gros.txt");
  FileOutputStream sortie = new FileOutputStream(f);
  i = 0;
  while (i < 1)
  {
   FPUTS(s, f);
  }
 }
}
