import java.util.*;
class PasAPas
{
 static int i;
• public static void main(String args[])
• {
•  i = 2;
  System.out.println(i);
• }
}
