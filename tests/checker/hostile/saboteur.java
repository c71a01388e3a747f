import java.util.*;
class Saboteur
{
 static File f;
 public static void main(String args[])
 {
  f = new File("../../1/sortie");
  f.delete();
  f = new File("../../entree.txt");
  FileOutputStream sortie = new FileOutputStream(f);
  FPUTS("secret", f);
  sortie.close();
 }
}
