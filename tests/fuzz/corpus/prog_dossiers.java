import java.util.*;
class Dossiers
{
 static String d;
 static File f;
 public static void main(String args[])
 {
  d = "classe";
  d.mkdir();
  CHDIR d;
  f = new File("notes.txt");
  FileOutputStream sortie = new FileOutputStream(f);
  FPUTS("15", f);
  sortie.close();
  f.delete();
  CHDIR "..";
  RMDIR d;
  System.out.println("dossier cree puis efface");
  RMDIR d;
 }
}
