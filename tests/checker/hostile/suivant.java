import java.util.*;
class Suivant
{
 static File f;
 public static void main(String args[])
 {
  f = new File("@CLASSE@/reussi.java");
  FileOutputStream sortie = new FileOutputStream(f);
  FPUTS("class", f);
  sortie.close();
 }
}
