import java.util.*;
class ArrondiLiteral
{
 static float r;
 public static void main(String args[])
 {
  r = 1.00000000000090948082398512042345828376710414886474609375f;
  System.out.println(r);
  r = r - 1.0f;
  System.out.println(r);
 }
}
