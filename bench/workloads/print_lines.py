for i in range(1, 50001):
    print(i)
