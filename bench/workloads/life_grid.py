# Conway's game of life on a 48 x 48 grid that wraps round at its edges, 40 generations
# from a Park-Miller start (a third of the cells alive), in two grids that change roles
# each generation; then the population and a checksum of the live cells' places.
n = 48
g = [[0] * (n + 1) for _ in range(n + 1)]
h = [[0] * (n + 1) for _ in range(n + 1)]
x = 11
for i in range(1, n + 1):
    for j in range(1, n + 1):
        x = x * 16807 % 2147483647
        if x % 3 == 0:
            g[i][j] = 1
for generation in range(40):
    for i in range(1, n + 1):
        up = n if i == 1 else i - 1
        down = 1 if i == n else i + 1
        gu, gi, gd, hi = g[up], g[i], g[down], h[i]
        for j in range(1, n + 1):
            left = n if j == 1 else j - 1
            right = 1 if j == n else j + 1
            s = gu[left] + gu[j] + gu[right] + gi[left] + gi[right] + gd[left] + gd[j] + gd[right]
            if s == 3:
                hi[j] = 1
            elif s == 2:
                hi[j] = gi[j]
            else:
                hi[j] = 0
    g, h = h, g
population = 0
checksum = 0
for i in range(1, n + 1):
    for j in range(1, n + 1):
        population += g[i][j]
        checksum += g[i][j] * (i * 100 + j)
print(population)
print(checksum)
