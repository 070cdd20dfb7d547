n = 0
def inc():
    global n
    n = n + 1
for i in range(1, 500001):
    inc()
print(n)
