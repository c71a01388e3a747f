import java.util.*;
class Attendu
{
 static File f;
 public static void main(String args[])
 {
  f = new File("@CLASSE@/../attendu.txt");
  FileOutputStream sortie = new FileOutputStream(f);
  FPUTS("autre", f);
  sortie.close();
 }
}
