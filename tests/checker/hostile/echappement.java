import java.util.*;
class Echappement
{
 public static void main(String args[])
 {
  System.out.println("[2J]0;reussi");
  CHDIR "[31mrouge[0m";
 }
}
