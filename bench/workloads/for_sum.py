s = 0
for i in range(1, 1000001):
    s = s + i
print(s)
