import java.util.*;
class EcrireNouveau
{
 static File f;
 public static void main(String args[])
 {
  f = new File("../../../../../../../../../../../../../../../..@DEHORS@/nouveau.txt");
  FileOutputStream sortie = new FileOutputStream(f);
  FPUTS("secret", f);
  sortie.close();
 }
}
