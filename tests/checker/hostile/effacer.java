import java.util.*;
class Effacer
{
 static File f;
 public static void main(String args[])
 {
  f = new File("@DEHORS@/leurre.txt");
  f.delete();
 }
}
