# The same bubble sort as tri.java, for comparison: 1996 ints (with the four
# loop variables they fill the interpreter's 2000 int slots).
n = 1996
t = [0] * (n + 1)
x = 12345
for i in range(1, n + 1):
    x = x * 1103
    x = x + 12345
    x = x % 65536
    t[i] = x
for i in range(n, 1, -1):
    for j in range(1, i):
        k = j + 1
        if t[j] > t[k]:
            x = t[j]
            t[j] = t[k]
            t[k] = x
print(t[1])
print(t[998])
print(t[1996])
