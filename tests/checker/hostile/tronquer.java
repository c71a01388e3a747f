import java.util.*;
class Tronquer
{
 static File f;
 public static void main(String args[])
 {
  f = new File("../../../../../../../../../../../../../../../..@DEHORS@/leurre.txt");
  FileOutputStream sortie = new FileOutputStream(f);
  sortie.close();
 }
}
