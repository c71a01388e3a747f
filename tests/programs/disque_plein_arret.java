import java.util.*;
class PleinArret
{
 static File f;
 static int i;
 public static void main(String args[])
 {
  f = new File("/dev/full");
  FileOutputStream sortie = new FileOutputStream(f);
  FPUTS("perdu", f);
  i = inconnu;
  System.out.println("jamais");
 }
}
