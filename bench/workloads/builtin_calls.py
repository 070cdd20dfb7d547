t = 0
for i in range(1, 100001):
    t = t + len(str(i)) + int(i / 7) + max(i, 50000)
print(t)
