import java.util.*;
class BavardErreurs
{
 static int i;
 static File f;
 public static void main(String args[])
 {
  f = new File("absent/absent.txt");
  i = 0;
  while (i < 1)
  {
   FileInputStream entree = new FileInputStream(f);
  }
 }
}
