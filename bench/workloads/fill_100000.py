rows = []
x = 42
for i in range(1, 100000 + 1):
    x = x * 16807
    x = x - int(x / 2147483647) * 2147483647
    rows.append([x - int(x / 100000) * 100000, i])

print(rows[0][0])
print(rows[0][1])
print(rows[-1][0])
print(rows[-1][1])
