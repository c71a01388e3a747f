import java.util.*;
class Pile
{
 static int n;
 public static void main(String args[])
 {
  encore();
 }
 void encore()
 {
  n++;
  encore();
 }
}
