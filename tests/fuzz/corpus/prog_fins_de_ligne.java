import java.util.*;
class Fins{
 static int i;
 public static void main(String args[]) {
  System.out.println("a");  System.out.println("b");
 }}