"""kv.distributed.descriptors on a local cluster of two worker processes."""

import os
import signal
import subprocess
import threading
import time

import networkx
import pandas
import pytest

import korvelant as kv

pytestmark = pytest.mark.slow


def alkane_skeletons(carbons):
    lines = subprocess.run(["nauty-gentreeg", "-q", "-D4", str(carbons)], capture_output=True,
                           text=True, check=True).stdout.split()
    trees = []
    for line in lines:
        graph = networkx.from_sparse6_bytes(line.encode())
        trees.append(kv.Tree(graph.number_of_nodes(), [(a + 1, b + 1) for a, b in graph.edges]))
    return trees


@pytest.fixture(scope="module")
def client():
    from dask.distributed import Client, LocalCluster

    with LocalCluster(n_workers=2, threads_per_worker=1, processes=True, host="127.0.0.1",
                      dashboard_address=None) as cluster, Client(cluster) as client:
        yield client


def test_a_cluster_gives_the_frame_of_one_process(client):
    trees = alkane_skeletons(16)
    assert len(trees) == 10359
    items = trees[:3000] + ["C(C", "CCO ethanol"] + trees[3000:]
    frame = kv.distributed.descriptors(items, client=client, partitions=7)
    pandas.testing.assert_frame_equal(frame, kv.descriptors(items))
    assert frame.loc[3000, "error"].startswith("line 3001: ")
    assert list(frame.columns[:2]) == ["name", "smiles"]


def test_a_worker_killed_mid_run_costs_no_rows(client):
    trees = alkane_skeletons(17)
    expected = kv.descriptors(trees)
    pids = list(client.run(os.getpid).values())
    result = {}
    run = threading.Thread(target=lambda: result.update(
        frame=kv.distributed.descriptors(trees, client=client, partitions=400)))
    run.start()
    # Kill one worker once partitions are being computed; its nanny starts another and the
    # scheduler computes the lost partitions again.
    deadline = time.monotonic() + 60
    while not any(client.processing().values()) and time.monotonic() < deadline:
        time.sleep(0.01)
    os.kill(pids[0], signal.SIGKILL)
    killed_mid_run = run.is_alive()
    run.join(timeout=300)
    assert killed_mid_run
    pandas.testing.assert_frame_equal(result["frame"], expected)
