import java.util.*;
class Plein
{
 static File f;
 public static void main(String args[])
 {
  f = new File("/dev/full");
  FileOutputStream sortie = new FileOutputStream(f);
  FPUTS("perdu", f);
  System.out.println("fin");
 }
}
