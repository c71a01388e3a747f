import java.util.*;
class CreerDossier
{
 static String d;
 public static void main(String args[])
 {
  d = "@DEHORS@/cree";
  d.mkdir();
 }
}
