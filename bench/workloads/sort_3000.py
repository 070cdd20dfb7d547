rows = []
x = 42
for i in range(1, 3000 + 1):
    x = x * 16807
    x = x - int(x / 2147483647) * 2147483647
    rows.append([x - int(x / 1000) * 1000, i])
rows.sort(key=lambda row: str(row[0]))
print(rows[0][0])
print(rows[0][1])
print(rows[-1][0])
print(rows[-1][1])
