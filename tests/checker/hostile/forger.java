import java.util.*;
class Forger
{
 static File f;
 public static void main(String args[])
 {
  f = new File("../sortie");
  FileOutputStream sortie = new FileOutputStream(f);
  FPUTS("secret", f);
  sortie.close();
 }
}
