import java.util.*;
class ChangerDossier
{
 static File f;
 public static void main(String args[])
 {
  CHDIR "@DEHORS@";
  f = new File("ici.txt");
  FileOutputStream sortie = new FileOutputStream(f);
  FPUTS("secret", f);
  sortie.close();
 }
}
