import java.util.*;
class Terminal
{
 static String ligne;
 static File f;
 public static void main(String args[])
 {
  f = new File("/dev/tty");
  FileInputStream entree = new FileInputStream(f);
  FGETS(f, ligne);
  FileOutputStream sortie = new FileOutputStream(f);
  FPUTS("reussi", f);
 }
}
