# Longest common subsequence of two sequences of 400 numbers from 0 to 3 (a Park-Miller
# sequence), by the dynamic program over a table of 401 rows and 401 columns.
n = 400
x = 7
a = [0] * (n + 1)
b = [0] * (n + 1)
for i in range(1, n + 1):
    x = x * 16807 % 2147483647
    a[i] = x % 4
    x = x * 16807 % 2147483647
    b[i] = x % 4
t = [[0] * (n + 1) for _ in range(n + 1)]
for i in range(1, n + 1):
    ai = a[i]
    row = t[i]
    above = t[i - 1]
    for j in range(1, n + 1):
        if ai == b[j]:
            row[j] = above[j - 1] + 1
        else:
            up = above[j]
            left = row[j - 1]
            row[j] = up if up > left else left
print(t[n][n])
print(sum(sum(row) for row in t))
