# The same loop as boucle.java, for comparison.
s = 0
for i in range(1, 1001):
    for j in range(1, 1001):
        s = s + j
        if s > 1000000:
            s = s - 1000000
print(s)
