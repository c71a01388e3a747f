import java.util.*;
class Tout
{
 static int i, j, k, t[] = new int[4];
 static float r, q;
 static char c;
 static String s, u, v[] = new String[3];
 static File f;
 static Random g = new Random();
 lab:
 public static void main(String args[])
 {
  f = new File("x.txt");
  FileOutputStream sortie = new FileOutputStream(f);
  for (i=1; i<=3; i++)
  {
   t[i] = i * 2;
   FPUTS(t[i], f);
  }
  sortie.close();
  FileInputStream entree = new FileInputStream(f);
  while (!FEOF(f))
  {
   FGETS(f, j);
   k = k + j;
  }
  entree.close();
  f.delete();
  s = "abc";
  u = s.substring(1,2);
  v[2] = u.toUpperCase();
  r = 1.5f / 3f;
  q = Math.sqrt(r);
  c = 'z';
  i = (int)c;
  j = STRCHR(s,'c');
  do
  {
   j++;
   if (j > 5)
   {
    break;
   };
  }
  while (j == 10);
  FGETS(System.in, s);
  toString(i,s);
  GOTOXY(2,3);
  p();
  System.out.println(v[2]);
  s = DATESTRING(CURRENTDATE());
  s = TIMESTRING(CURRENTTIME());
  k = g.nextInt();
  k = c.get(Calendar.YEAR);
  "d".mkdir();
  CHDIR "d";
  CHDIR "..";
  RMDIR "d";
 }
 void p()
 {
  for (k=3; k>0; k--)
  {
   if (k == 2)
    return;
  }
 }
}
