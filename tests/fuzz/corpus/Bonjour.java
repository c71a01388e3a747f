import java.util.*;
class Bonjour
{
 public static void main(String args[])
 {
  System.out.println("Bonjour tout le monde !");
 }
}
