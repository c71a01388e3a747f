# The same string-building loop as chaines.java, for comparison.
s = ""
total = 0
for i in range(1, 300001):
    s = s + "abc"
    n = len(s)
    if n > 30:
        s = s[4:n]
    u = s[0:2]
    v = u + s
    n = len(v)
    total = total + n
print(s)
print(v)
print(total)
