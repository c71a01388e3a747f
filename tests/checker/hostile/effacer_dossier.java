import java.util.*;
class EffacerDossier
{

 public static void main(String args[])
 {
  RMDIR "../../../../../../../../../../../../../../../..@DEHORS@/vide";
 }
}
