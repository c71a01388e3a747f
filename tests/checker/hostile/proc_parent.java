import java.util.*;
class ProcParent
{
 static String ligne;
 static File f;
 public static void main(String args[])
 {
  f = new File("/proc/@PID@/cmdline");
  FileInputStream entree = new FileInputStream(f);
  while (!FEOF(f))
  {
   FGETS(f, ligne);
   System.out.println(ligne);
  }
 }
}
