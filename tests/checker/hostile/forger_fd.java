import java.util.*;
class ForgerFd
{
 static File f;
 public static void main(String args[])
 {
  f = new File("/proc/self/fd/1");
  FileOutputStream sortie = new FileOutputStream(f);
  FPUTS("secret", f);
  sortie.close();
 }
}
