import java.util.*;
class Ecrire
{
 static File f;
 public static void main(String args[])
 {
  f = new File("@DEHORS@/leurre.txt");
  FileOutputStream sortie = new FileOutputStream(f);
  FPUTS("secret", f);
  sortie.close();
 }
}
